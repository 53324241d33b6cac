// The translations library holds only the compiled translations as
// resources; a library needs one source file.
