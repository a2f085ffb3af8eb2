/* JPEG decoding through libjpeg behind a C interface. libjpeg reports errors
   by jumping back to a setjmp point; both the point and every libjpeg call
   live in jpeg_reader.c, compiled as C, so a jump never crosses C++ frames. */
#ifndef TIKO_CONFIG_PICTURE_JPEG_READER_H
#define TIKO_CONFIG_PICTURE_JPEG_READER_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct tiko_jpeg_reader tiko_jpeg_reader;

/* NULL when out of memory. */
tiko_jpeg_reader* tiko_jpeg_open(const unsigned char* data, size_t size, size_t max_memory_bytes);
/* Reads the header. Returns 1 and the size, the number of colour components
   and whether the picture comes in several scans (progressive: the decoder
   then keeps every coefficient until the last), or 0 with the message set.
   Sets *cmyk when the pixels come out as 4-byte CMYK instead of 4-byte BGRA
   with opaque alpha. */
int tiko_jpeg_read_header(tiko_jpeg_reader* reader, int* width, int* height, int* components,
                          int* multi_scan, int* cmyk);
/* The most libjpeg may take for its buffers from now on; past it the decoding fails. */
void tiko_jpeg_limit_memory(tiko_jpeg_reader* reader, size_t max_memory_bytes);
/* Decodes every row into pixels (4 bytes a pixel, rows stride bytes apart).
   Returns 1, or 0 with the message set. */
int tiko_jpeg_read_pixels(tiko_jpeg_reader* reader, unsigned char* pixels, size_t stride);
const char* tiko_jpeg_message(const tiko_jpeg_reader* reader);
void tiko_jpeg_close(tiko_jpeg_reader* reader);

#ifdef __cplusplus
}
#endif

#endif
