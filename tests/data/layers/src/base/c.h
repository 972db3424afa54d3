#pragma once
#include "c_local.h"
