#pragma once

// Data Encryption Standard (FIPS 46-3) on one 64-bit block at a time: single DES,
// two-key and three-key triple DES (encrypt-decrypt-encrypt), with an optional
// one-step CBC link through a caller-held initialisation vector.
//
// Bit vectors hold one bit per byte (0 or 1), most significant bit of each byte
// first, so the standard's 1-based tables apply directly.
//
// The subkey table is per thread: a key schedule followed by its block pass must
// run on the same thread with no other schedule in between.

// Bit-level operations.
void BitsCopy(unsigned char* dst, const unsigned char* src, int n);
void ByteToBit(unsigned char* bits, const unsigned char* bytes, int nbytes);
void BitToByte(unsigned char* bytes, const unsigned char* bits, int nbytes);
void TablePermute(unsigned char* dst, const unsigned char* src, const unsigned char* table, int n);
void LoopMove(unsigned char* bits, int len, int shift);
void Xor(unsigned char* a, const unsigned char* b, int n);
void S_Change(unsigned char* out, const unsigned char* in);
void F_Change(unsigned char* r, const unsigned char* k);

// Key schedule of one 8-byte key, and one block pass with the scheduled key.
// `in` and `out` may be the same 8 bytes.
void Set_One_DES_64bitKey(const unsigned char* key);
void DES_Encrypt_Block(const unsigned char* in, unsigned char* out);
void DES_Decode_Block(const unsigned char* in, unsigned char* out);

// One 8-byte block, transformed in place. key: 8, 16 (K1 K2) or 24 (K1 K2 K3) bytes;
// a null key does nothing. iv: null for a single block, or 8 bytes that chain the
// block (CBC) and afterwards hold the ciphertext for the next block.
void One_DES_IV_Encrypt_Block(unsigned char* iv, unsigned char* block, const unsigned char* key);
void One_DES_IV_Decode_Block(unsigned char* iv, unsigned char* block, const unsigned char* key);
void Two_DES_IV_Encrypt_Block(unsigned char* iv, unsigned char* block, const unsigned char* key);
void Two_DES_IV_Decode_Block(unsigned char* iv, unsigned char* block, const unsigned char* key);
void Three_DES_IV_Encrypt_Block(unsigned char* iv, unsigned char* block, const unsigned char* key);
void Three_DES_IV_Decode_Block(unsigned char* iv, unsigned char* block, const unsigned char* key);
