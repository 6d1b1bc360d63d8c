set(FUZZ_TARGETS huff_decode_fuzz archive_fuzz gif_fuzz bmp_fuzz image_fuzz panel_fuzz config_fuzz bmf_fuzz ttt_fuzz)
