#pragma once

#include <functional>

/// SIGTERM, SIGHUP and SIGINT (a logout, a closed terminal, Ctrl-C, a system shutting down) end pathsketch as they
/// would end any program, with that signal, but only after a tidy-up: a rating that runs is stopped and its
/// temporary copy of the drawings removed. The signals are blocked in every thread and taken by one thread of their
/// own, so the tidy-up runs as ordinary code whatever the other threads are doing (waiting for a window event, a
/// console read, the keep dialog).
///
/// Call takeStopSignals before any other thread starts (the display's own included): threads inherit the blocked
/// signals from their creator. Programs this process starts must unblock them again before they exec.
/// False when the thread cannot be started; the signals then keep their usual effect.
bool takeStopSignals();

/// What to run on one of these signals before the program ends; an empty function for nothing. Setting it waits for
/// a tidy-up that runs, so that what the old one used can then be destroyed.
void setStopTidyUp(std::function<void()> tidyUp);
