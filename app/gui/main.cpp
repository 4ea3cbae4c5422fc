#include "app/gui/OrvoViewApp.h"

int main(int argc, char** argv) {
    COrvoViewApp app(argc, argv);
    return app.run();
}
