#include "ui/program.h"

int main(int argc, char** argv) {
    return tes::Main(argc, argv);
}
