#pragma once
// The stored user name and password, under HKEY_CURRENT_USER "Software\varkon".
class LoginWindow;

// Puts the stored name and password back when "Note" is 1, ticking the check box.
void RestoreCredentials(LoginWindow& window);
// Writes both boxes as they are, and "Note" from the check box.
void SaveCredentials(LoginWindow& window);
