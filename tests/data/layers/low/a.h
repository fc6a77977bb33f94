#pragma once

#include "high/b.h"
#include "low/gone.h"
