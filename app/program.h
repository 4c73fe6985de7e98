#pragma once
// The program from start to exit, on whatever platform is current.
#include "app/command_line.h"

// Creates the App (holding `options`) and the Game, runs the
// application-state loop until it ends, shuts down and returns the exit
// status: 0, or 1 when the window could not be made. Given a course, the
// game starts on it at once.
int runProgram(const CommandLineOptions& options = {});

// Runs one turn of the main loop: one frame of the current state.
void runOneTurn();

class Game;
struct App;
// Makes `app` and `game` the program's own for code run outside runProgram
// (tests of single subsystems); null forgets them.
void setCurrentProgram(App* app, Game* game);
