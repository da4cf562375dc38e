// Orvale Lexmoor 1.0: start the application, create the main form, run until it closes.

#include "app/Unit1.h"
#include "engine/Parallel.h"

int main(int argc, char** argv) {
    ReturnLargeBlocksToSystem();
    TApplication application(argc, argv);
    application.Title = "Orvale Lexmoor 1.0";
    TForm1* form = application.CreateForm<TForm1>();
    form->SetVisible(true);
    application.Run();
    return 0;
}
