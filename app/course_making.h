#pragma once
// Terrains and courses made from seeds, so that a course code names exactly
// what was made: the generator is seeded with the terrain seed right before
// the terrain, and with a seed derived from it right before each further
// course. Each operation records what it made in Game::madeCourse.
#include "coursecode/course_code.h"

class Game;
struct Terrain;

// "Generate Map", and "Start!" with no terrain for MapSize: a fresh seed,
// then the terrain, its first course and the map, for the Game's settings.
void makeFreshTerrain(Game& g);
// "New Course" on a terrain made by one of these: the next course number's
// course and map. The caller checks that the terrain is generated.
void makeNextCourse(Game& g);
// The settings of a code become the Game's (MapSize, NControls, LegSize,
// the amounts); then its terrain, course and map are made.
void makeCourseOf(Game& g, const coursecode::CourseSettings& settings);
// The terrain and course of `settings` with the map in software, without
// a Game or a window (MapSize, NControls and LegSize become the settings').
void generateCourseOf(Terrain& terrain, const coursecode::CourseSettings& settings);
// "QuickStart": a fresh seed, then everything quickPrepare makes, the
// vegetation included.
void quickPrepareFresh(Game& g);
