#include "core/ApplySettings.h"
