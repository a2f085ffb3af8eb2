// Ending the program from outside: SIGTERM (a logout, `kill`), SIGINT (Ctrl+C
// in a terminal) and SIGHUP (its terminal closed) end the event loop like the
// Exit command, so that the program leaves by its ordinary way out.
#pragma once

namespace tiko {

// Call once, after the application object exists.
void QuitOnTerminationSignals();

}  // namespace tiko
