#include "skin/forms/qlSkinMenus.h"
