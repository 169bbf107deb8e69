// POSIX (Linux and other POSIX systems): without PELTRIX_LINUX_CALLS the
// Linux-only names are poisoned, so that the portable build uses only what
// every POSIX system has. Included last in every POSIX file of the layer,
// after the system headers, which declare these names themselves.
#pragma once

#ifndef PELTRIX_LINUX_CALLS
#pragma GCC poison copy_file_range renameat2 loff_t
#endif
