#include "core/DataFileAids.h"
