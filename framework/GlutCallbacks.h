#pragma once

namespace kiln {

// The plain functions that Manager::runApp registers with GLUT. Each one hands
// its event, unchanged, to the application or to a notifier. An exception that
// escapes one of them ends the process with a non-zero status (a notifier has
// already written a runtime error to log.txt); it never unwinds into GLUT.

void timerCallback(int value);
void displayCallback();
void reshapeCallback(int width, int height);

void keyboardCallback(unsigned char key, int x, int y);
void keyboardUpCallback(unsigned char key, int x, int y);
void specialCallback(int key, int x, int y);
void specialUpCallback(int key, int x, int y);
void mouseCallback(int button, int state, int x, int y);
void motionCallback(int x, int y);
void passiveMotionCallback(int x, int y);

}  // namespace kiln
