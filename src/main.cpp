#include "ui/application.h"

int main(int argc, char** argv) {
    return kelvo::runApplication(argc, argv);
}
