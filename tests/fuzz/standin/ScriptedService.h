#pragma once

#include <deque>
#include <string>

// What the stand-in transport of the cloud service answers: the token request
// gets tokenAnswer, each post the next of postAnswers, and an empty body once
// they are used up (as a connection closed without an answer would give).
struct ScriptedAnswers {
    std::string tokenAnswer;
    std::deque<std::string> postAnswers;
};

// The script of the process; a fuzz target sets it before every input.
ScriptedAnswers& CurrentScript();
