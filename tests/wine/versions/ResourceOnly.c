/* A DLL that exists for its version resource only. */
int vpsResourceOnly;
