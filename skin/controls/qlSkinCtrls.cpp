#include "skin/controls/qlSkinCtrls.h"
