#pragma once

// Run first at start-up, before anything opens a file or a connection: each of the
// descriptors 0, 1 and 2 that is closed is opened on /dev/null, so that neither the X
// connection nor a data file takes its place and a message written to standard error goes
// nowhere instead of into them; and a standard error that is a pipe nobody reads any more
// does not end the game with SIGPIPE.
void PrepareStandardStreams();
