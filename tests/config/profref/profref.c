/* The Windows profile functions as the reference for what a KalCfg.ini means.
 * Built with MinGW and run under Wine by the tests: one process serves many files.
 *
 * Commands, one per line on standard input; every argument is hex-encoded bytes:
 *   dump FILE                  every section, key and value that the readers see
 *   erase FILE SECTION         WritePrivateProfileStringA(SECTION, NULL, NULL)
 *   write FILE SECTION KEY VAL WritePrivateProfileStringA(SECTION, KEY, VAL)
 * Answers on standard output, one item a line, hex-encoded:
 *   S NAME          a section name, as GetPrivateProfileSectionNamesA lists it
 *   K NAME VALUE    a key of that section and GetPrivateProfileStringA's value,
 *                   read with a buffer of 2,048 characters as the suite reads
 *   .               the end of every answer ("!" instead when a call failed)
 */
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static char *unhex(const char *s)
{
    size_t n = strlen(s) / 2, i;
    char *out = malloc(n + 1);
    for (i = 0; i < n; ++i) {
        unsigned v;
        sscanf(s + 2 * i, "%2x", &v);
        out[i] = (char)v;
    }
    out[n] = 0;
    return out;
}

static void puthex(const char *s)
{
    if (!*s)
        putchar('-'); /* an empty text */
    for (; *s; ++s)
        printf("%02x", (unsigned char)*s);
}

#define BIG (1 << 22)
static char names[BIG], keys[BIG];

static void dump(const char *file)
{
    char value[2048];
    DWORD n = GetPrivateProfileSectionNamesA(names, BIG, file);
    const char *s, *k;
    (void)n;
    for (s = names; *s; s += strlen(s) + 1) {
        printf("S ");
        puthex(s);
        putchar('\n');
        GetPrivateProfileStringA(s, NULL, "", keys, BIG, file);
        for (k = keys; *k; k += strlen(k) + 1) {
            GetPrivateProfileStringA(s, k, "", value, sizeof value, file);
            printf("K ");
            puthex(k);
            putchar(' ');
            puthex(value);
            putchar('\n');
        }
    }
}

int main(void)
{
    static char line[1 << 20];
    _setmode(_fileno(stdout), _O_BINARY); /* "\n", not "\r\n" */
    setvbuf(stdout, NULL, _IOFBF, 1 << 16);
    while (fgets(line, sizeof line, stdin)) {
        char *argv[5] = {0};
        int argc = 0;
        char *tok = strtok(line, " \r\n");
        int ok = 1;
        while (tok && argc < 5) {
            argv[argc++] = tok;
            tok = strtok(NULL, " \r\n");
        }
        if (argc == 0)
            continue;
        if (!strcmp(argv[0], "dump") && argc == 2) {
            char *f = unhex(argv[1]);
            dump(f);
            free(f);
        } else if (!strcmp(argv[0], "erase") && argc == 3) {
            char *f = unhex(argv[1]), *s = unhex(argv[2]);
            ok = WritePrivateProfileStringA(s, NULL, NULL, f) != 0;

            free(f), free(s);
        } else if (!strcmp(argv[0], "write") && argc == 5) {
            char *f = unhex(argv[1]), *s = unhex(argv[2]), *k = unhex(argv[3]);
            char *v = strcmp(argv[4], "-") ? unhex(argv[4]) : calloc(1, 1);
            ok = WritePrivateProfileStringA(s, k, v, f) != 0;

            free(f), free(s), free(k), free(v);
        } else {
            ok = 0;
        }
        puts(ok ? "." : "!");
        fflush(stdout);
    }
    return 0;
}
