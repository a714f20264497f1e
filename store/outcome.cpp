#include "outcome.h"

Outcome Outcome::fileStep(Command command, FileOps::Result result, const QString &path)
{
    if (result == FileOps::Result::Ok)
        return done(command);
    Outcome outcome(Status::Failed, command,
                    result == FileOps::Result::PermissionDenied ? Cause::PermissionDenied : Cause::FileError);
    outcome.path = path;
    outcome.file = result;
    return outcome;
}

Outcome Outcome::printed(Command command, const QString &path, const QString &name)
{
    Outcome outcome = done(command);
    outcome.path = path;
    outcome.name = name;
    return outcome;
}

Outcome Outcome::fileError(Command command, FileOps::Result result, const QString &path)
{
    Outcome outcome = fileStep(command, result, path);
    if (outcome.cause == Cause::PermissionDenied)
        outcome.cause = Cause::FileError;
    return outcome;
}

Outcome Outcome::problem(Command command, const QString &text, Cause cause)
{
    Outcome outcome(Status::Refused, command, cause);
    outcome.detail = text;
    return outcome;
}

Outcome Outcome::nameRefused(Command command, NameRule rule, const QString &name)
{
    Cause cause = Cause::None;
    switch (rule) {
    case NameRule::Fits:
        return done(command);
    case NameRule::Forbidden:
        cause = Cause::NameForbidden;
        break;
    case NameRule::Unstorable:
        cause = Cause::NameUnstorable;
        break;
    case NameRule::TooLong:
        cause = Cause::NameTooLong;
        break;
    case NameRule::OutOfLength:
        cause = Cause::MemberNameLength;
        break;
    }
    Outcome outcome = refused(command, cause);
    outcome.name = name;
    return outcome;
}
