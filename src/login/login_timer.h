#pragma once
class LoginWindow;

// One tick of the login window's 80 ms timer.
void LoginTimerTick(LoginWindow& window);
// Unrolls the update panel by 10 pixels a tick up to 115, then stops the timer.
void GrowUpdatePanel(LoginWindow& window);
