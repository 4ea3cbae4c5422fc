#include "app/ProgramOptions.h"
#include "app/gui/OrvoViewApp.h"
#include <iostream>

int main(int argc, char** argv) {
    // Answered before the application object exists: it would need a display.
    if (std::optional<int> status =
            answerInformationOptions(std::vector<std::string>(argv + 1, argv + argc), std::cout))
        return *status;
    COrvoViewApp app(argc, argv);
    return app.run();
}
