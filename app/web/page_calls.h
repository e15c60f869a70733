// The calls the browser layer makes into the page, in page_calls.js.
#pragma once

#include <cstdint>

extern "C" {

// Hands the thread back to the browser for at least that many milliseconds.
void sleepAtLeast(double milliseconds);

// The canvas with the id "window" and its 2D context; 0 if there is none.
int openCanvas();
void closeCanvas();
// The canvas width x height pixels, at a whole number of screen pixels each.
void sizeCanvas(int width, int height);
int pageHidden();
void showFailureBox(const char* caption, const char* text);
// Columns [left, right) of the canvas's top `height` rows from a picture of
// RGBA pixels in the wasm memory (pictureWidth x pictureHeight at pixels),
// its columns from `from` on.
void putCanvasPixels(const void* pixels, int pictureWidth, int pictureHeight, int left, int right,
                     int from, int height);
void fillCanvasWhite(int left, int top, int right, int bottom);
// Hands the fingers on the page's arrow pad to padTouch (platform_messages.cpp):
// the pointer, the arrow's virtual-key code, and 0 press, 1 lift, 2 cancel.
void listenToPad();
// Shows the view the address's fragment names (#view=crossed), and hands
// the view control's choices to showView (view_control.cpp), keeping the
// fragment in step without adding history.
void listenToViewControl();
}
