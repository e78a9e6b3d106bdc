#pragma once
// The QQ and WeChat sign-in pages that the program shows in its web browser
// window. Without a choice the page lists a few names and offers a text box;
// choosing a name (or refusing) loads a page whose script hands the sign-in
// message to the window hosting it with window.external.notify(text):
//   {"result":1, "openid" (QQ) or "unionid" (WeChat), "nickname"}
//   {"result":0} when the user refused.
// The same name always gets the same id, so signing in again finds the same
// account.

#include <httplib.h>

#include <string>

namespace pimlo::servers {

enum class SignInProvider { QQ, WeChat };

// The HTML page answering a request with these query parameters: "nickname"
// (the chosen name, UTF-8) or "cancel", or neither for the picker.
std::string SignInPage(SignInProvider provider, const httplib::Params& params);

// The id a provider gives the user of this nickname.
std::string SignInAccountId(SignInProvider provider, const std::string& nickname);

}  // namespace pimlo::servers
