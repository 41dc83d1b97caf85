# Pennova writing template (our own text)
id: 105
kind: high
category: 考试作文|Exam essays CET IELTS TOEFL
name: 雅思大作文：同意或反对|IELTS opinion essay, agree or disagree
description: 适用于雅思大作文“在多大程度上同意或反对”题型。首段改写题目并亮明立场，中间两段各给一个理由和例子，末段重申观点。全文按“同意”的立场写；若你反对题目的说法，就把[观点]填成你所支持的相反说法（如 university education should not be free），各段仍然前后一致。
title: Should [标题中的话题，如 University Education Be Free]? || [标题中的话题，如 University Education Be Free]吗？

[block]
Some people believe that [观点，如 university education should be free for everyone]. || 有人认为[观点，如 university education should be free for everyone]。
I completely agree with this view for the following reasons. || 我完全同意这一观点，理由如下。
[alternative]
It is often argued that [观点，如 university education should be free for everyone]. || 人们常说[观点，如 university education should be free for everyone]。
While this idea has some weak points, I largely agree with it. || 尽管这个想法有一些不足，但我基本同意。
[alternative]
It has been suggested that [观点，如 university education should be free for everyone]. || 有人提出[观点，如 university education should be free for everyone]。
Personally, I am strongly in favour of this idea. || 就我个人而言，我非常赞成这个想法。

[block]
The main reason is that [理由，如 education is a basic right, not a product to be sold]. || 主要原因是[理由，如 education is a basic right, not a product to be sold]。
If [条件，如 only rich families can pay for it], [后果，如 society will become less fair]. || 如果[条件，如 only rich families can pay for it]，[后果，如 society will become less fair]。
A good example is [例子，如 a bright student from a poor village who cannot afford the fees]. || 一个很好的例子是[例子，如 a bright student from a poor village who cannot afford the fees]。

[block]
Another reason is that [理由，如 the whole country benefits from well-educated people]. || 另一个原因是[理由，如 the whole country benefits from well-educated people]。
For instance, [例子，如 educated workers earn more, pay more taxes and help the economy grow]. || 例如，[例子，如 educated workers earn more, pay more taxes and help the economy grow]。
[alternative]
Admittedly, [反方观点，如 free education costs the government a lot of money]. || 诚然，[反方观点，如 free education costs the government a lot of money]。
However, [反驳，如 this cost is an investment that pays off in the long run]. || 然而，[反驳，如 this cost is an investment that pays off in the long run]。

[block]
In conclusion, I believe that [观点，如 university education should be free for everyone]. || 总之，我认为[观点，如 university education should be free for everyone]。
Above all, [结论理由，如 it would give every young person a fair chance to succeed]. || 最重要的是，[结论理由，如 it would give every young person a fair chance to succeed]。

[common]
There are good reasons on both sides of the argument. || 这个问题的双方都有充分的理由。
This view is supported by a number of studies. || 这一观点得到了许多研究的支持。
Critics point out that this idea has its costs. || 批评者指出这个想法也有代价。
On balance, the benefits clearly outweigh the costs. || 总的来说，好处显然大于代价。
This is not to say that the other side has no point. || 这并不是说另一方毫无道理。
A case in point is what happened in my own city. || 我所在城市发生的事就是一个恰当的例子。
It would be wrong to think that money is the only factor. || 认为金钱是唯一因素是错误的。
For these reasons, I stand by my view. || 基于这些理由，我坚持我的观点。
