(load "$(DIRNAME)/a.lsp")
(load "$(VELMO_UNSET_VARIABLE)b.lsp")
(load "$DIRNAME/a.lsp")
(load "$(DIRNAME/a.lsp")
