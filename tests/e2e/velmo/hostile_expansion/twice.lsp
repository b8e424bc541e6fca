(load twice.lsp)
(load twice.lsp)
