#pragma once
#include "low/a.h"
#include "base/c.h"
