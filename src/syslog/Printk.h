#pragma once
// A buffered print facility over the syslog client's formatter: each printk formats into the free part of
// the buffer and writes the buffered text to the stream at once.
#include <cstddef>
#include <cstdio>

namespace syslog_client {

// (Re)allocates the buffer of size bytes for stream (standard error when null). 1, or 0 after
// "printk_init: allocation failed\n" on standard error. The first call arranges printk_exit at exit.
int printk_init(std::size_t size, FILE* stream);
// Nothing until printk_init has succeeded.
void printk(const char* format, ...);
// Writes what is buffered and closes the stream unless it is standard output or standard error.
void printk_exit();

}  // namespace syslog_client
