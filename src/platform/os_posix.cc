// Placeholder until the POSIX platform layer lands.
