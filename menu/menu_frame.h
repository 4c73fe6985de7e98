#pragma once
// One frame of the menu, run by the main loop while the state is the menu.
void runMenuFrame();
