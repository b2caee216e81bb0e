#include "app/mainunit.h"

int QuelmarkMain(int, char**) { return 0; }
