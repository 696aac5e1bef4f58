#pragma once
// The login exchange: the form posted by a worker, the profile fetched by another, and the
// login timer that hands their replies to the window.
#include "base/text.h"

class LoginWindow;

// The form body of one attempt; both values are percent-encoded.
Text LoginFormBody(const Text& userName, const Text& password, int random);
// Bytes outside letters, digits and "-._~" as %XX.
Text PercentEncode(const Text& value);

// Starts the login worker (the login button's click).
void StartLoginWorker(LoginWindow& window);
// Takes the boxes' texts for the worker's next attempt (every timer tick).
void NoteLoginForm(LoginWindow& window);
// Login and profile workers still at work (none are kept by handle).
int LoginWorkersRunning();
// Steps 4 to 6 of the login timer: the replies the workers left, if any.
void HandleLoginReplies(LoginWindow& window);
