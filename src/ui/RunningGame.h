#pragma once

#include <functional>

class OApplication;
class ORenderWindow;

// The one game screen (id 202) that may exist at a time. The menu creates it
// for a new game; the menu, the score screen and the options screen end it.
// A game exists exactly while a screen is held here.
class RunningGame {
public:
    static constexpr int kGameScreenId = 202;

    // Makes a fresh, unbuilt game screen. Tests replace it.
    using Factory = std::function<ORenderWindow*()>;
    static Factory factory;
    // The game screen the program was built with.
    static ORenderWindow* MakeGameScreen();

    static ORenderWindow* Get() { return screen; }
    static bool Exists() { return screen != nullptr; }
    // The game ended (GameState or GameEndMark says game over).
    static bool IsOver();
    // A game exists and is not over.
    static bool IsRunning() { return Exists() && !IsOver(); }

    // Creates a new game screen through the factory, gives it its pictures,
    // adds it to the application and makes it current. An existing game is
    // discarded first. False when no screen could be made.
    static bool Start(OApplication* application);
    // Takes the game screen out of the application's list (when it is there),
    // deletes it and forgets it.
    static void Discard(OApplication* application);

private:
    static ORenderWindow* screen;
};
