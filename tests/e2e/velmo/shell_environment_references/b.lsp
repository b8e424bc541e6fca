(echo loaded b)
