(load self.lsp)
(defmacro again () (again))
(again)
(echo still running)
