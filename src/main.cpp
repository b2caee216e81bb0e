#include "app/mainunit.h"

int main(int argc, char** argv) {
    return QuelmarkMain(argc, argv);
}
