#include "MaskEdit.h"
