// The kelvaro program: one main window until it closes.
#include "app/application.h"

#include <QApplication>
#include <random>

int main(int argc, char** argv) {
    return kelvaro::runApplication(argc, argv);
}
