#pragma once

// Every program starts with this: a reader that went away (a closed pipe,
// a quit pager) must not kill the program with SIGPIPE. Writes then fail
// with EPIPE and are reported where they happen.
void IgnoreBrokenPipes();

// Flushes standard output; when that fails, says so on standard error as
// "<program>: cannot write the output: <reason>" and returns false.
bool FlushOutput(const char *program);
