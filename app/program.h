#pragma once
// The program from start to exit, on whatever platform is current.

namespace coursecode {
struct CourseSettings;
}

// Creates the App and the Game, runs the application-state loop until it
// ends, shuts down and returns the exit status: 0, or 1 when the window
// could not be made. Given a course, the game starts on it at once.
int runProgram(const coursecode::CourseSettings* course = nullptr);

// Runs one turn of the main loop: one frame of the current state.
void runOneTurn();

class Game;
struct App;
// Makes `app` and `game` the program's own for code run outside runProgram
// (tests of single subsystems); null forgets them.
void setCurrentProgram(App* app, Game* game);
