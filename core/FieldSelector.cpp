#include "core/FieldSelector.h"
