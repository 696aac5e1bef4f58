#pragma once
// The login form: placeholders, the password box's two modes, balloon tips, links, the button.
#include "base/text.h"

class LoginWindow;

// Wires the event handlers of the form's controls.
void ConnectLoginForm(LoginWindow& window);
void ApplyPlaceholders(LoginWindow& window);
void AttachBalloonTips(LoginWindow& window);
// After a refused login: the button usable again, captioned "登录".
void ReenableLoginButton(LoginWindow& window);

extern const char kUserPlaceholder[];      // "请输入您的英文名"
extern const char kPasswordPlaceholder[];  // "请输入您的密码"
constexpr unsigned kPlaceholderColour = 0x00808080;
constexpr unsigned kTypedColour = 0x00000000;
