// SPDX-License-Identifier: GPL-3.0-or-later
// Entry point of the game.
#include "shell/app.h"

int main(int argc, char **argv)
{
    return quivara::shell::run(argc, argv);
}
