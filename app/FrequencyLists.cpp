// placeholder
#include "app/Unit1.h"
void TForm1::ConnectListPanel() {}
