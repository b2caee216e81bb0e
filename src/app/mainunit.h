// Program entry and start-up order of the game.
#pragma once

int QuelmarkMain(int argc, char** argv);
