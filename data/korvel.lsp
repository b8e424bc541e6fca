; Start-up file of velmo. The English grammar and lexicon are loaded from
; here once they exist; for now the shell starts with no parser.
