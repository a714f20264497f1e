#pragma once

#include "base/prompter.h"
#include "store/outcome.h"

// What the Session needs of the front end that holds it: the questions
// (Prompter), and where it tells what it met on its own while it ran: the
// start-up's checks of the data files, a damaged peña, the welcome, what the
// download meets on its way. Each comes as an Outcome, at the moment it is
// met (so it keeps its place among the questions); the front end words it
// as it words a command's outcome.
class FrontEnd : public Prompter
{
public:
    virtual void tell(const Outcome &outcome) = 0;
};
