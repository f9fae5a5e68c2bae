#include "shell/StartUp.h"

int main(int argc, char **argv)
{
    if (const std::optional<int> answered = answerCommandLine(argc, argv))
        return *answered;
    return runProgram(argc, argv);
}
