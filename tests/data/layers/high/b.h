#pragma once

#include "low/a.h"
#include <QString>
