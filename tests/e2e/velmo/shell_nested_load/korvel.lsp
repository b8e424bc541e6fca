(echo start)
(set-search-path "lib:lib/deeper")
(load "first.lsp" missing.lsp)
(echo back in korvel)
