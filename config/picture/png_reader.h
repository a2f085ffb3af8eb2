/* PNG decoding through libpng's full interface behind a C interface. libpng
   reports errors by jumping back to a setjmp point; both the point and every
   libpng call live in png_reader.c, compiled as C, so a jump never crosses C++
   frames. */
#ifndef TIKO_CONFIG_PICTURE_PNG_READER_H
#define TIKO_CONFIG_PICTURE_PNG_READER_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct tiko_png_reader tiko_png_reader;

/* NULL when out of memory. */
tiko_png_reader* tiko_png_open(const unsigned char* data, size_t size);
/* Reads the header. Returns 1 and the size, or 0 with the message set. */
int tiko_png_read_header(tiko_png_reader* reader, unsigned* width, unsigned* height);
/* Once the size is accepted (libpng's buffers for a row follow from it), sets
   up the output: 8 bits a channel, B G R A in memory, samples as stored (no
   gamma change). Returns 1 and in *alpha whether the picture has alpha (an
   alpha channel or tRNS), or 0 with the message set. */
int tiko_png_prepare(tiko_png_reader* reader, int* alpha);
/* Decodes every row (interlaced pictures too) into pixels, rows stride bytes
   apart. Returns 1, or 0 with the message set. */
int tiko_png_read_pixels(tiko_png_reader* reader, unsigned char* pixels, size_t stride);
const char* tiko_png_message(const tiko_png_reader* reader);
void tiko_png_close(tiko_png_reader* reader);

#ifdef __cplusplus
}
#endif

#endif
