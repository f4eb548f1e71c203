// The fight tests' screenshot reader, built into the camera tests as well.
#include "../e2e_fight/screenshot.cpp"
