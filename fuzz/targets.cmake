set(FUZZ_TARGETS huff_decode_fuzz archive_fuzz)
