#pragma once

class QWidget;

// Every window of the program fits the screen it opens on, whatever its
// size and scale (a laptop at double scale has a 683x384 screen): its
// contents sit in a scroll area, and on its first showing the window takes
// the size they ask for, never more than the screen's free area, and moves
// back onto that area. With room enough no scroll bar shows.
namespace FitToScreen
{
    // Puts a borderless scroll area over the whole of window and returns the
    // widget inside it, which takes the window's layout in its place:
    //     auto *layout = new QVBoxLayout(FitToScreen::scrolledContents(this));
    QWidget *scrolledContents(QWidget *window);

    // For a window that scrolls by itself (a text view): only its size and
    // place are bounded by the screen's free area when it first shows.
    void boundToScreen(QWidget *window);
}
