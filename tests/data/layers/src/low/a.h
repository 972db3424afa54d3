#pragma once
#include "base/c.h"
#include "high/b.h"
#include <vector>
