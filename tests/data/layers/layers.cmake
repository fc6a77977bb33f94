# Two libraries: `high` uses `low`, and `low` reaches up into `high`.
set(QOR_SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}")
set(QOR_TARGETS "low;high")
set(QOR_FILES_low "low/a.h")
set(QOR_USES_low "")
set(QOR_FILES_high "high/b.h")
set(QOR_USES_high "low")
