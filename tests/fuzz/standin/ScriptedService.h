#pragma once

#include <deque>
#include <string>
#include <vector>

// What the stand-in transport of the cloud service answers while an object of
// this class lives: the token request gets tokenAnswer, each post the next of
// postAnswers, and an empty body once they are used up (as a connection
// closed without an answer would give). One input of a fuzz target makes one
// and drops it at its end, so nothing of an input outlives it.
class ScriptedService {
public:
    ScriptedService(std::string tokenAnswer, std::vector<std::string> postAnswers);
    ~ScriptedService();
    ScriptedService(const ScriptedService&) = delete;
    ScriptedService& operator=(const ScriptedService&) = delete;

    // The service that answers now; there is always one while a target runs.
    static ScriptedService& Current();

    const std::string& TokenAnswer() const { return tokenAnswer_; }
    std::string NextPostAnswer();

private:
    std::string tokenAnswer_;
    std::deque<std::string> postAnswers_;
};
