#include "core/DialogModel.h"
