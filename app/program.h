#pragma once
// The program from start to exit, on whatever platform is current.

// Creates the App and the Game, runs the application-state loop until it
// ends, shuts down and returns the exit status: 0, or 1 when the window
// could not be made.
int runProgram();

// Runs one turn of the main loop: one frame of the current state.
void runOneTurn();
