#pragma once
// Fonts of the main window: its controls are set in "宋体" at 9 points. That face rarely exists outside
// Chinese Windows, and Qt would silently fall back to a sans face (or draw boxes without any CJK font).
namespace tavrel::window {

// Maps "宋体" to the Song-style (serif) CJK faces usually installed on Linux, best first. Call it once, before
// the first widget is made. Changes nothing on the system.
void InstallSongFace();

}  // namespace tavrel::window
